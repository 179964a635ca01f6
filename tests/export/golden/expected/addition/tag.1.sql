drop procedure if exists foo; delimiter $$ create procedure foo () begin declare continue handler for 1060 begin end; alter table `ps_tag` add `id_manufacturer` int(10) default null; end$$ delimiter ; call foo(); drop procedure foo;
INSERT INTO `ps_tag` (`id_tag`,`id_lang`,`id_manufacturer`,`name`) VALUES (1,1,0,'ON12'),(2,1,3,'0451103316'),(3,1,0,'22540'),(4,1,0,'06J115403Q');
