drop procedure if exists foo; delimiter $$ create procedure foo () begin declare continue handler for 1060 begin end; alter table `ps_tag` add `id_manufacturer` int(10) default null; end$$ delimiter ; call foo(); drop procedure foo;
INSERT INTO `ps_tag` (`id_tag`,`id_lang`,`id_manufacturer`,`name`) VALUES (1,1,1,'0451103316'),(2,1,5,'06J115403'),(3,1,3,'ON12');
INSERT INTO `ps_tag` (`id_tag`,`id_lang`,`id_manufacturer`,`name`) VALUES (4,1,1,'0451103316'),(5,1,2,'22540'),(6,1,5,'06J115403Q');
