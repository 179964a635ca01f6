CREATE TABLE IF NOT EXISTS `ps_LinkTypPrestaWithTecDoc` (`id_category` int(10) NOT NULL, `typ_id` int(10) NOT NULL, PRIMARY KEY (`id_category`), KEY `typ_id` (`typ_id`));
INSERT INTO `ps_LinkTypPrestaWithTecDoc` (`id_category`,`typ_id`) VALUES (7,9),(10,10),(13,100),(14,1000);
