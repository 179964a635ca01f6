CREATE TABLE IF NOT EXISTS `ps_LinkTypPrestaWithTecDoc` (`id_category` int(10) NOT NULL, `typ_id` int(10) NOT NULL, PRIMARY KEY (`id_category`), KEY `typ_id` (`typ_id`));
INSERT INTO `ps_LinkTypPrestaWithTecDoc` (`id_category`,`typ_id`) VALUES (35,10),(38,100),(39,1000);
